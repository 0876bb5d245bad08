#pragma once
// The program's one error manager and the error status it is initialised
// with (each thread keeps its own context values inside it). Process-wide.

#include "errors/ErrorClass.h"
#include "errors/ErrorStatusClass.h"

extern ErrorStatusClass& GlobalErrorStatus;
extern ErrorClass GlobalErrors;
