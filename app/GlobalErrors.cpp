#include "app/GlobalErrors.h"

#include "window/HistoryWindow.h"

// Never destroyed: the status keeps its groups in thread-local storage, which
// the first thread has already freed when static objects are destroyed at
// process end. The error manager borrows it until then.
ErrorStatusClass& GlobalErrorStatus = *new ErrorStatusClass;

namespace {

// Defined before the error manager, which borrows it, so it outlives it.
HistoryWindow historyWindow;

}  // namespace

ErrorClass GlobalErrors(&historyWindow);
