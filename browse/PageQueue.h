#pragma once
// A plain in-memory queue of records, as the browse's standard behaviour
// keeps its page in: a record buffer, numbered records, append, insert, get,
// put and delete, the field names and the buffer's fields by number, reorder,
// and the displayed columns of each record for the list that shows the
// queue. Owns its records. One thread.

#include <cstddef>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "runtime/text/FieldRef.h"
#include "runtime/text/Value.h"

class PageQueue {
  public:
    using Row = std::vector<rt::Value>;
    virtual ~PageQueue() = default;

    virtual int Records() const = 0;
    // Stores the buffer at the end, or before record position (1-based;
    // one past the last appends). Add(position) answers false otherwise.
    virtual void Add() = 0;
    virtual bool Add(int position) = 0;
    // Copies record position into the buffer; false when there is none.
    virtual bool Get(int position) = 0;
    // The buffer back into, or out of, the record got or added last.
    virtual bool Put() = 0;
    virtual bool Delete() = 0;
    virtual void Free() = 0;
    // The name of field column (1-based), "" when there is none.
    virtual std::string Who(int column) const = 0;
    // The buffer's field number `field` (1-based); null when there is none.
    virtual rt::FieldRef What(int field) = 0;
    // Puts the records in the order positions lists them.
    // REQUIRES: positions holds every record's position exactly once.
    virtual void Reorder(const std::vector<int>& positions) = 0;
    // Every record's displayed columns, in order.
    virtual std::vector<Row> Rows() const = 0;
};

// A PageQueue of Record structs. `columns` picks a record's displayed
// values; `names` are its fields' names in order, and `fields` gives a
// record's fields in that order (none: What answers null).
template <typename Record>
class RecordPageQueue : public PageQueue {
  public:
    using Fields = std::function<std::vector<rt::FieldRef>(Record&)>;
    RecordPageQueue(std::vector<std::string> names, std::function<Row(const Record&)> columns,
                    Fields fields = {})
        : names_(std::move(names)), columns_(std::move(columns)), fields_(std::move(fields)) {}
    RecordPageQueue(const RecordPageQueue&) = delete;
    RecordPageQueue& operator=(const RecordPageQueue&) = delete;

    int Records() const override { return static_cast<int>(records_.size()); }
    void Add() override {
        records_.push_back(Buffer);
        pointer_ = Records();
    }
    bool Add(int position) override {
        if (position < 1 || position > Records() + 1) return false;
        records_.insert(records_.begin() + (position - 1), Buffer);
        pointer_ = position;
        return true;
    }
    bool Get(int position) override {
        if (position < 1 || position > Records()) return false;
        Buffer = records_[position - 1];
        pointer_ = position;
        return true;
    }
    bool Put() override {
        if (pointer_ < 1 || pointer_ > Records()) return false;
        records_[pointer_ - 1] = Buffer;
        return true;
    }
    bool Delete() override {
        if (pointer_ < 1 || pointer_ > Records()) return false;
        records_.erase(records_.begin() + (pointer_ - 1));
        return true;
    }
    void Free() override {
        records_.clear();
        pointer_ = 0;
    }
    std::string Who(int column) const override {
        if (column < 1 || column > static_cast<int>(names_.size())) return {};
        return names_[column - 1];
    }
    rt::FieldRef What(int field) override {
        if (!fields_ || field < 1) return {};
        std::vector<rt::FieldRef> all = fields_(Buffer);
        return field <= static_cast<int>(all.size()) ? all[field - 1] : rt::FieldRef();
    }
    void Reorder(const std::vector<int>& positions) override {
        std::vector<Record> sorted;
        sorted.reserve(records_.size());
        for (int p : positions) sorted.push_back(std::move(records_[p - 1]));
        records_ = std::move(sorted);
        pointer_ = 0;
    }
    std::vector<Row> Rows() const override {
        std::vector<Row> rows;
        rows.reserve(records_.size());
        for (const Record& r : records_) rows.push_back(columns_(r));
        return rows;
    }

    const std::vector<Record>& records() const { return records_; }
    Record Buffer{};

  private:
    std::vector<std::string> names_;
    std::function<Row(const Record&)> columns_;
    Fields fields_;
    std::vector<Record> records_;
    int pointer_ = 0;
};
