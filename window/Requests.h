#pragma once
// What a caller asks of a window procedure and what it answers: the request
// and response codes, and the calling thread's request, response and
// form-navigation variables through which procedures talk to each other.

#include <cstdint>

// clang-format off
enum : std::uint8_t {
    RequestInsert  = 1,  // add a new record
    RequestChange  = 2,  // change the record in the buffer
    RequestDelete  = 3,  // delete the record in the buffer
    RequestSelect  = 4,  // a browse called to pick a record
    RequestProcess = 5,  // run over records without a form
    RequestView    = 6,  // show the record, change nothing
    RequestSave    = 7,  // the save button was pressed; the form stays open
};

enum : std::uint8_t {
    ResponseCompleted = 1,  // the request was carried out
    ResponseCancelled = 2,  // the user or a failure cancelled it
};

// Form-navigation requests a toolbar fills in.
enum : std::int32_t {
    VcrNone         = 0,
    VcrInsert       = 3001,
    VcrLast         = 3005,
    VcrFirst        = 3006,
    VcrPageForward  = 3007,
    VcrPageBackward = 3008,
    VcrForward      = 3009,
    VcrBackward     = 3010,
};
// clang-format on

// Each thread has its own: a procedure reads its request on entry and leaves
// its answer for the caller.
extern thread_local std::uint8_t GlobalRequest;
extern thread_local std::uint8_t GlobalResponse;
extern thread_local std::int32_t VCRRequest;
