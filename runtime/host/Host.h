#pragma once
// Facts about the host and the desktop's services: the user, the computer,
// the operating system, environment variables, opening a location with its
// default program, and the drag-full-windows setting. Tests replace the facts
// and the launcher through the TEST_ hooks. Any thread; openLocation on the
// GUI thread.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace rt {

class Host {
  public:
    Host() = delete;

    // The name of the user the process runs as (the login name in the
    // environment when the user database has no entry); std::nullopt when
    // it cannot be found or does not fit bufferSize bytes with its
    // terminating NUL.
    static std::optional<std::string> userName(std::size_t bufferSize);
    static std::string computerName();
    // Distribution and kernel, e.g. "Debian GNU/Linux 12 (bookworm), linux 6.1.0".
    static std::string osDescription();

    // The variable's value; "" when it is not set or the value and its
    // terminating NUL do not fit bufferSize bytes. As on the platform the
    // program was written for, names match without regard to case when no
    // variable has the exact name ("Path" finds PATH).
    static std::string environment(std::string_view name, std::size_t bufferSize);

    // What a location opens as, fully encoded: an existing file or folder
    // as a file URL; a text with a scheme ("https:", "mailto:") as itself;
    // a bare e-mail address as "mailto:"; a host name as a web address
    // ("www.example.com" -> "http://www.example.com"). "" for a blank or
    // malformed location or one holding control characters.
    static std::string locationUrl(std::string_view location);
    // Hands locationUrl(location) to the desktop's default program; the text
    // never reaches a shell. Answers false when nothing could be opened.
    static bool openLocation(std::string_view location);

    // No Linux desktop has this setting; it lives in the process, on at start.
    static bool dragFullWindows();
    static void setDragFullWindows(bool on);

    // Each hook replaces the real thing while set (an empty hook restores
    // it); each answers the previous hook.
    using UserNameHook = std::function<std::optional<std::string>()>;
    using TextHook = std::function<std::string()>;
    using UrlOpener = std::function<bool(const std::string& url)>;
    using DragFullWindowsWatcher = std::function<void(bool on)>;
    static UserNameHook TEST_setUserNameHook(UserNameHook hook);
    static TextHook TEST_setComputerNameHook(TextHook hook);
    static TextHook TEST_setOsDescriptionHook(TextHook hook);
    static UrlOpener TEST_setUrlOpener(UrlOpener opener);
    // The watcher sees every setDragFullWindows call.
    static DragFullWindowsWatcher TEST_setDragFullWindowsWatcher(DragFullWindowsWatcher watcher);
};

}  // namespace rt
