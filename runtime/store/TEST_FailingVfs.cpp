#include "runtime/store/TEST_FailingVfs.h"

#include <sqlcipher/sqlite3.h>

#include <atomic>
#include <cassert>

namespace rt {

struct TEST_FailingVfs::State {
    sqlite3_vfs vfs{};
    sqlite3_vfs* real = nullptr;
    std::atomic<int> counts[2]{0, 0};
    std::atomic<int> failAt[2]{0, 0};  // absolute count that fails; 0 = none
    std::atomic<bool> sticky[2]{false, false};
    std::atomic<int> error[2]{0, 0};
    std::atomic<int> failed{0};

    // Counts one operation and answers the error it must fail with, or 0.
    int next(Op op) {
        auto i = static_cast<int>(op);
        int n = ++counts[i];
        int at = failAt[i];
        if (at == 0 || n < at || (n > at && !sticky[i])) return 0;
        ++failed;
        return error[i];
    }
};

namespace {

// The one live layer; the engine's callbacks find it here.
std::atomic<TEST_FailingVfs::State*> live{nullptr};

// The engine allocates szOsFile bytes per open file: our header, then the
// real layer's file right behind it.
struct ShimFile {
    sqlite3_file base;
    sqlite3_file* real;
};

sqlite3_file* realOf(sqlite3_file* f) {
    return reinterpret_cast<ShimFile*>(f)->real;
}

int shimClose(sqlite3_file* f) {
    return realOf(f)->pMethods->xClose(realOf(f));
}
int shimRead(sqlite3_file* f, void* buf, int n, sqlite3_int64 off) {
    return realOf(f)->pMethods->xRead(realOf(f), buf, n, off);
}
int shimWrite(sqlite3_file* f, const void* buf, int n, sqlite3_int64 off) {
    if (int rc = live.load()->next(TEST_FailingVfs::Op::Write)) return rc;
    return realOf(f)->pMethods->xWrite(realOf(f), buf, n, off);
}
int shimTruncate(sqlite3_file* f, sqlite3_int64 size) {
    return realOf(f)->pMethods->xTruncate(realOf(f), size);
}
int shimSync(sqlite3_file* f, int flags) {
    if (int rc = live.load()->next(TEST_FailingVfs::Op::Sync)) return rc;
    return realOf(f)->pMethods->xSync(realOf(f), flags);
}
int shimFileSize(sqlite3_file* f, sqlite3_int64* size) {
    return realOf(f)->pMethods->xFileSize(realOf(f), size);
}
int shimLock(sqlite3_file* f, int lock) {
    return realOf(f)->pMethods->xLock(realOf(f), lock);
}
int shimUnlock(sqlite3_file* f, int lock) {
    return realOf(f)->pMethods->xUnlock(realOf(f), lock);
}
int shimCheckReservedLock(sqlite3_file* f, int* out) {
    return realOf(f)->pMethods->xCheckReservedLock(realOf(f), out);
}
int shimFileControl(sqlite3_file* f, int op, void* arg) {
    return realOf(f)->pMethods->xFileControl(realOf(f), op, arg);
}
int shimSectorSize(sqlite3_file* f) {
    return realOf(f)->pMethods->xSectorSize(realOf(f));
}
int shimDeviceCharacteristics(sqlite3_file* f) {
    return realOf(f)->pMethods->xDeviceCharacteristics(realOf(f));
}
int shimShmMap(sqlite3_file* f, int region, int size, int extend, void volatile** out) {
    return realOf(f)->pMethods->xShmMap(realOf(f), region, size, extend, out);
}
int shimShmLock(sqlite3_file* f, int offset, int n, int flags) {
    return realOf(f)->pMethods->xShmLock(realOf(f), offset, n, flags);
}
void shimShmBarrier(sqlite3_file* f) {
    realOf(f)->pMethods->xShmBarrier(realOf(f));
}
int shimShmUnmap(sqlite3_file* f, int deleteFlag) {
    return realOf(f)->pMethods->xShmUnmap(realOf(f), deleteFlag);
}
int shimFetch(sqlite3_file* f, sqlite3_int64 off, int n, void** out) {
    return realOf(f)->pMethods->xFetch(realOf(f), off, n, out);
}
int shimUnfetch(sqlite3_file* f, sqlite3_int64 off, void* p) {
    return realOf(f)->pMethods->xUnfetch(realOf(f), off, p);
}

// One method table per version a real file may have: the engine calls only
// the slots of the version our table declares, so it must equal the real
// file's.
sqlite3_io_methods shimMethods(int version) {
    sqlite3_io_methods m{};
    m.iVersion = version;
    m.xClose = shimClose;
    m.xRead = shimRead;
    m.xWrite = shimWrite;
    m.xTruncate = shimTruncate;
    m.xSync = shimSync;
    m.xFileSize = shimFileSize;
    m.xLock = shimLock;
    m.xUnlock = shimUnlock;
    m.xCheckReservedLock = shimCheckReservedLock;
    m.xFileControl = shimFileControl;
    m.xSectorSize = shimSectorSize;
    m.xDeviceCharacteristics = shimDeviceCharacteristics;
    if (version >= 2) {
        m.xShmMap = shimShmMap;
        m.xShmLock = shimShmLock;
        m.xShmBarrier = shimShmBarrier;
        m.xShmUnmap = shimShmUnmap;
    }
    if (version >= 3) {
        m.xFetch = shimFetch;
        m.xUnfetch = shimUnfetch;
    }
    return m;
}

const sqlite3_io_methods kMethods[4] = {shimMethods(0), shimMethods(1), shimMethods(2),
                                        shimMethods(3)};

int shimOpen(sqlite3_vfs* vfs, const char* name, sqlite3_file* file, int flags, int* outFlags) {
    auto* state = static_cast<TEST_FailingVfs::State*>(vfs->pAppData);
    auto* shim = reinterpret_cast<ShimFile*>(file);
    shim->base.pMethods = nullptr;
    shim->real = reinterpret_cast<sqlite3_file*>(shim + 1);
    int rc = state->real->xOpen(state->real, name, shim->real, flags, outFlags);
    if (rc == SQLITE_OK && shim->real->pMethods) {
        int version = shim->real->pMethods->iVersion;
        shim->base.pMethods = &kMethods[version < 0 ? 0 : (version > 3 ? 3 : version)];
    }
    return rc;
}

// Everything but opening goes straight to the real layer.
int shimDelete(sqlite3_vfs* v, const char* name, int syncDir) {
    auto* real = static_cast<TEST_FailingVfs::State*>(v->pAppData)->real;
    return real->xDelete(real, name, syncDir);
}
int shimAccess(sqlite3_vfs* v, const char* name, int flags, int* out) {
    auto* real = static_cast<TEST_FailingVfs::State*>(v->pAppData)->real;
    return real->xAccess(real, name, flags, out);
}
int shimFullPathname(sqlite3_vfs* v, const char* name, int n, char* out) {
    auto* real = static_cast<TEST_FailingVfs::State*>(v->pAppData)->real;
    return real->xFullPathname(real, name, n, out);
}
int shimRandomness(sqlite3_vfs* v, int n, char* out) {
    auto* real = static_cast<TEST_FailingVfs::State*>(v->pAppData)->real;
    return real->xRandomness(real, n, out);
}
int shimSleep(sqlite3_vfs* v, int micro) {
    auto* real = static_cast<TEST_FailingVfs::State*>(v->pAppData)->real;
    return real->xSleep(real, micro);
}
int shimCurrentTime(sqlite3_vfs* v, double* out) {
    auto* real = static_cast<TEST_FailingVfs::State*>(v->pAppData)->real;
    return real->xCurrentTime(real, out);
}
int shimGetLastError(sqlite3_vfs* v, int n, char* out) {
    auto* real = static_cast<TEST_FailingVfs::State*>(v->pAppData)->real;
    return real->xGetLastError ? real->xGetLastError(real, n, out) : 0;
}
int shimCurrentTimeInt64(sqlite3_vfs* v, sqlite3_int64* out) {
    auto* real = static_cast<TEST_FailingVfs::State*>(v->pAppData)->real;
    return real->xCurrentTimeInt64(real, out);
}

}  // namespace

TEST_FailingVfs::TEST_FailingVfs() : state_(std::make_unique<State>()) {
    sqlite3_initialize();
    State* s = state_.get();
    s->real = sqlite3_vfs_find(nullptr);
    sqlite3_vfs& v = s->vfs;
    v.iVersion = 2;
    v.szOsFile = static_cast<int>(sizeof(ShimFile)) + s->real->szOsFile;
    v.mxPathname = s->real->mxPathname;
    v.zName = "lockora-test-failing";
    v.pAppData = s;
    v.xOpen = shimOpen;
    v.xDelete = shimDelete;
    v.xAccess = shimAccess;
    v.xFullPathname = shimFullPathname;
    v.xRandomness = shimRandomness;
    v.xSleep = shimSleep;
    v.xCurrentTime = shimCurrentTime;
    v.xGetLastError = shimGetLastError;
    v.xCurrentTimeInt64 = shimCurrentTimeInt64;
    // Invariant: one failing layer at a time, or the counts would be split.
    [[maybe_unused]] State* previous = live.exchange(s);
    assert(previous == nullptr);
    sqlite3_vfs_register(&v, 1);
}

TEST_FailingVfs::~TEST_FailingVfs() {
    sqlite3_vfs_unregister(&state_->vfs);
    sqlite3_vfs_register(state_->real, 1);
    live = nullptr;
}

void TEST_FailingVfs::failAt(Op op, int n, int engineError, bool sticky) {
    auto i = static_cast<int>(op);
    state_->error[i] = engineError;
    state_->sticky[i] = sticky;
    state_->failAt[i] = state_->counts[i] + n;
}

void TEST_FailingVfs::heal() {
    state_->failAt[0] = 0;
    state_->failAt[1] = 0;
}

int TEST_FailingVfs::count(Op op) const {
    return state_->counts[static_cast<int>(op)];
}

int TEST_FailingVfs::failures() const {
    return state_->failed;
}

}  // namespace rt
