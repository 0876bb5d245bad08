#pragma once
// What the settings lists need of an in-memory queue: a record buffer reached
// through field references, numbered records to load into it, and appending
// a copy of it. Implementations own their records. One thread at a time.

#include <cstddef>

class QueueInterface {
  public:
    virtual ~QueueInterface() = default;

    virtual std::size_t Records() const = 0;
    // Copies record n (from 1) into the buffer; false when there is none.
    virtual bool Get(std::size_t n) = 0;
    // Stores a copy of the buffer; false when the queue refuses it.
    virtual bool Add() = 0;
    // Removes every record; the buffer keeps its contents.
    virtual void Free() = 0;
};
