#pragma once
// A queue of records of one struct type, appended in order: the buffer is a
// public member so field references can point into it. Owns its records.
// Not copyable (references into the buffer are handed out). One thread.

#include <cstddef>
#include <vector>

#include "window/QueueInterface.h"

template <typename Record>
class RecordQueue : public QueueInterface {
  public:
    RecordQueue() = default;
    RecordQueue(const RecordQueue&) = delete;
    RecordQueue& operator=(const RecordQueue&) = delete;

    std::size_t Records() const override { return records_.size(); }
    bool Get(std::size_t n) override {
        if (n < 1 || n > records_.size()) return false;
        Buffer = records_[n - 1];
        return true;
    }
    bool Add() override {
        records_.push_back(Buffer);
        return true;
    }
    void Free() override { records_.clear(); }

    const std::vector<Record>& records() const { return records_; }

    Record Buffer{};

  protected:
    std::vector<Record> records_;
};
