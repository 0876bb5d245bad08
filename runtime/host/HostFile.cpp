#include "runtime/host/HostFile.h"

#include <QSaveFile>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace rt {

std::string localPath(std::string_view name) {
    std::string path(name);
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

FileRead readWholeFile(const std::string& path, std::string& bytes) {
    std::error_code ec;
    auto type = std::filesystem::status(path, ec).type();
    if (type == std::filesystem::file_type::not_found) return FileRead::Missing;
    if (ec || type != std::filesystem::file_type::regular) return FileRead::Unreadable;
    std::ifstream in(path, std::ios::binary);
    if (!in) return FileRead::Unreadable;
    std::ostringstream out;
    out << in.rdbuf();
    if (in.bad()) return FileRead::Unreadable;
    bytes = std::move(out).str();
    return FileRead::Read;
}

bool replaceFile(const std::string& path, const std::string& bytes) {
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly)) return false;
    auto size = static_cast<qint64>(bytes.size());
    if (file.write(bytes.data(), size) != size) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

}  // namespace rt
