#pragma once
// The per-file call-back interface: a file handle calls functionCalled before
// and functionDone after every operation, with the operation's code and a
// parameter block. A false answer from functionCalled vetoes the operation;
// errCode and errMsg then say why. The handle borrows its call-back object.

#include <string>

namespace rt {

// Operation codes. The first group are the ones file managers tell apart;
// the numbers never change.
enum FileOp : int {
    OpAdd = 1,     // add the record in the buffer
    OpAppend = 4,  // add without updating keys (same as add here)
    OpClose = 7,
    OpDelete = 11,
    OpGetByKey = 15,
    OpGetByPosition = 16,
    OpGetByPointer = 17,
    OpNext = 24,
    OpPut = 30,
    OpPrevious = 31,
    OpReget = 53,
    OpWriteMemo = 76,
    OpSetProperty = 78,
    OpSaveState = 96,  // may run on a closed file
    OpFreeState = 97,  // may run on a closed file
    OpRestoreState = 99,
    OpThreadEnd = 104,  // the thread's instance of the file ends
    // Operations no file manager tells apart.
    OpOpen = 2,
    OpCreate = 3,
    OpBuildKeys = 5,
    OpSet = 6,
    OpReset = 8,
    OpRecords = 9,
    OpHold = 10,
    OpRelease = 12,
    OpWatch = 13,
    OpFlush = 14,
    OpSend = 18,
    OpLogout = 19,
};

struct FileCallParams {
    bool nested = false;         // issued by the driver inside another operation
    bool viaView = false;        // issued by a view over the file
    bool instanceInUse = false;  // OpThreadEnd: the instance is still used elsewhere
};

class FileCallback {
  public:
    virtual ~FileCallback() = default;
    virtual bool functionCalled(int op, const FileCallParams& params, std::string& errCode,
                                std::string& errMsg) = 0;
    virtual void functionDone(int op, const FileCallParams& params, std::string& errCode,
                              std::string& errMsg) = 0;
};

}  // namespace rt
