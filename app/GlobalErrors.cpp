#include "app/GlobalErrors.h"

// The status first: the error manager borrows it.
ErrorStatusClass GlobalErrorStatus;
ErrorClass GlobalErrors;
