#pragma once
// What the browse needs of the queue that holds its page: count, append,
// insert, fetch, put and delete rows, the names of its columns and the view
// position kept with each row. Implementations own their rows. One thread.

#include <string>
#include <string_view>

class BrowseQueue {
  public:
    virtual ~BrowseQueue() = default;

    // The operations in their slot order. Rows are numbered from 1; Fetch,
    // Update and Delete work on the record buffer and the row fetched last.
    virtual int Records() = 0;
    virtual void Insert() = 0;
    // Answers 0, or nonzero when there is no such place.
    virtual int Insert(int position) = 0;
    // False (the buffer unchanged) when there is no such row.
    virtual bool Fetch(int position) = 0;
    virtual void Update() = 0;
    virtual void Delete() = 0;
    virtual void Free() = 0;
    virtual std::string Who(int column) = 0;
    virtual std::string GetViewPosition() = 0;
    virtual void SetViewPosition(std::string_view position) = 0;
};
