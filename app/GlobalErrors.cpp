#include "app/GlobalErrors.h"

// Never destroyed: the status keeps its groups in thread-local storage, which
// the first thread has already freed when static objects are destroyed at
// process end. The error manager borrows it until then.
ErrorStatusClass& GlobalErrorStatus = *new ErrorStatusClass;
ErrorClass GlobalErrors;
