// FileManager: saved record images and saved file states, by handle.
//
// One SaveBuffer takes memo count + 2 consecutive ids in Buffers: the record,
// each memo, and the null state (kept empty: the driver stores no nulls).
// The next handle follows the highest id in use, so handles restored in
// reverse order never collide with live ones.
#include "data/FileManager.h"
#include "runtime/host/Assert.h"

namespace {

constexpr const char* kInvalidHandle = "Restore handle is invalid";
constexpr const char* kInvalidMemoHandle =
    "Restore handle is invalid (memo does not appear to have been stored)";
constexpr const char* kInvalidNullHandle =
    "Restore handle is invalid (nullity information not appear to have been stored)";

bool sameValues(const std::vector<rt::Value>& a, const std::vector<rt::Value>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].isText() != b[i].isText()) return false;
        if (a[i].isText() ? a[i].text() != b[i].text() : a[i].number() != b[i].number())
            return false;
    }
    return true;
}

}  // namespace

std::vector<rt::Value> FileManager::recordValues() const {
    std::vector<rt::Value> values;
    for (const auto& field : Definition().fields()) values.push_back(field.ref.get());
    return values;
}

void FileManager::setRecordValues(const std::vector<rt::Value>& values) {
    const auto& fields = Definition().fields();
    for (std::size_t i = 0; i < fields.size() && i < values.size(); ++i)
        rt::FieldRef(fields[i].ref).set(values[i]);
}

std::uint16_t FileManager::SaveBuffer() {
    RT_ASSERT(Buffers, "Unable to save new buffer contents");
    if (!Buffers) return 0;
    auto handle = static_cast<std::uint16_t>(Buffers->empty() ? 1 : Buffers->rbegin()->first + 1);
    (*Buffers)[handle] = BufferEntry{recordValues(), {}};
    const auto& memos = Definition().memos();
    for (std::size_t i = 0; i < memos.size(); ++i)
        (*Buffers)[handle + static_cast<std::int32_t>(i) + 1] = BufferEntry{{}, *memos[i].text};
    (*Buffers)[handle + static_cast<std::int32_t>(memos.size()) + 1] = BufferEntry{};
    return handle;
}

void FileManager::RestoreBuffer(std::uint16_t& handle, bool doRestore) {
    RestoreBuffer(handle, *this, doRestore);
}

void FileManager::RestoreBuffer(std::uint16_t& handle, FileManager& from, bool doRestore) {
    if (handle == 0 && !doRestore) return;
    if (!from.Buffers) return;
    auto& store = *from.Buffers;
    auto image = store.find(handle);
    if (image == store.end()) {
        RT_ASSERT(false, kInvalidHandle);
        return;
    }
    if (doRestore) setRecordValues(image->second.Record);
    store.erase(image);
    const auto& memos = Definition().memos();
    for (std::size_t i = 0; i < memos.size(); ++i) {
        auto memo = store.find(handle + static_cast<std::int32_t>(i) + 1);
        if (memo == store.end()) {
            RT_ASSERT(false, kInvalidMemoHandle);
            return;
        }
        if (doRestore) *memos[i].text = memo->second.Text;
        store.erase(memo);
    }
    auto nulls = store.find(handle + static_cast<std::int32_t>(memos.size()) + 1);
    if (nulls == store.end()) {
        RT_ASSERT(false, kInvalidNullHandle);
        return;
    }
    store.erase(nulls);
    handle = 0;
}

bool FileManager::EqualBuffer(std::uint16_t handle) {
    if (UseFile(2) != LevelBenign || BlobChanged || !Buffers) return false;
    auto image = Buffers->find(handle);
    if (image == Buffers->end()) {
        RT_ASSERT(false, kInvalidHandle);
        return false;
    }
    if (!sameValues(recordValues(), image->second.Record)) return false;
    const auto& memos = Definition().memos();
    for (std::size_t i = 0; i < memos.size(); ++i) {
        auto memo = Buffers->find(handle + static_cast<std::int32_t>(i) + 1);
        if (memo == Buffers->end()) {
            RT_ASSERT(false, kInvalidMemoHandle);
            return false;
        }
        if (*memos[i].text != memo->second.Text) return false;
    }
    return true;
}

std::uint16_t FileManager::SaveFile() {
    if (UseFile(2) != LevelBenign || !Saved) return 0;
    auto handle = static_cast<std::uint16_t>(Saved->empty() ? 1 : Saved->rbegin()->first + 1);
    SavedEntry entry;
    entry.Buffer = SaveBuffer();
    entry.State = File->saveState();
    entry.Pos = Position();
    entry.AutoIncDone = AutoIncDone;
    (*Saved)[handle] = std::move(entry);
    return handle;
}

void FileManager::RestoreFile(std::uint16_t& handle, bool doRestore) {
    RestoreFile(handle, *this, doRestore);
}

void FileManager::RestoreFile(std::uint16_t& handle, FileManager& from, bool doRestore) {
    if (UseFile(2) != LevelBenign || !from.Saved) return;
    auto found = from.Saved->find(handle);
    if (found == from.Saved->end()) {
        RT_ASSERT(false, kInvalidHandle);
        return;
    }
    SavedEntry entry = found->second;
    if (doRestore) {
        if (AliasedFile) {
            int key = PrimaryKey ? keyIndex((*Keys)[PrimaryKey - 1].Key) : -1;
            File->reset(key, entry.Pos);
            File->next();
        } else {
            from.File->restoreState(entry.State);
        }
    }
    RestoreBuffer(entry.Buffer, from, doRestore);
    if (doRestore) AutoIncDone = entry.AutoIncDone;
    from.File->freeState(entry.State);
    from.Saved->erase(handle);
    handle = 0;
}
