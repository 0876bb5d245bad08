#include "runtime/gui/SecretClipboard.h"

#include <string.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QTimer>

#include "runtime/text/Date.h"

namespace rt {

namespace {

// Desktop clipboard managers and history tools skip data carrying this
// format with the value "secret".
constexpr const char* kHintFormat = "x-kde-passwordManagerHint";
constexpr int kHundredthsPerDay = 24 * 60 * 60 * 100;

// The secret now on the clipboard, if any, and when it went there.
//
// States: idle (nothing held) -> holding (secret on the clipboard, ticking)
// -> idle, by the time running out (clipboard cleared), by anything else
// reaching the clipboard (left alone), or by clearNow.
class Holder {
  public:
    Holder() {
        timer_.setInterval(100);
        QObject::connect(&timer_, &QTimer::timeout, [this] { tick(); });
    }
    ~Holder() {
        listener_ = nullptr;
        forget();
    }

    bool copy(const std::string& text) {
        forget();
        QClipboard* clipboard = QGuiApplication::clipboard();
        auto* data = new QMimeData;
        data->setText(QString::fromStdString(text));
        data->setData(kHintFormat, "secret");
        clipboard->setMimeData(data);
        if (!connected_) {
            connected_ = true;
            QObject::connect(clipboard, &QClipboard::dataChanged, [this] {
                if (held() && !stillOurs()) forget();
            });
        }
        secret_ = text;
        if (!stillOurs()) {
            forget();
            return false;
        }
        startDay_ = today();
        startTime_ = clockNow();
        if (seconds_ > 0) timer_.start();
        tell(secondsLeft());
        return true;
    }

    int secondsLeft() const {
        if (!held() || seconds_ <= 0) return 0;
        long long elapsed =
            (long long)(today() - startDay_) * kHundredthsPerDay + (clockNow() - startTime_);
        if (elapsed < 0) elapsed = 0;
        long long left = seconds_ * 100LL - elapsed;
        return left <= 0 ? 0 : int((left + 99) / 100);
    }

    void clearNow() {
        if (!held()) return;
        if (stillOurs()) QGuiApplication::clipboard()->clear();
        forget();
    }

    int seconds_ = 10;
    std::function<void(int)> listener_;

  private:
    bool held() const { return !secret_.empty(); }

    // The clipboard still holds exactly what was copied, with its hint.
    bool stillOurs() const {
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        return data && data->data(kHintFormat) == "secret" && data->text().toStdString() == secret_;
    }

    void tick() {
        if (!held()) return;
        if (!stillOurs()) return forget();
        int left = secondsLeft();
        if (left == 0) return clearNow();
        if (left != shown_) tell(left);
    }

    void forget() {
        bool was = held();
        timer_.stop();
        explicit_bzero(secret_.data(), secret_.size());
        secret_.clear();
        if (was) tell(0);
    }

    void tell(int left) {
        shown_ = left;
        if (listener_) listener_(left);
    }

    QTimer timer_;
    std::string secret_;
    DateSerial startDay_ = 0;
    TimeValue startTime_ = 0;
    int shown_ = 0;
    bool connected_ = false;
};

Holder& holder() {
    static Holder h;
    return h;
}

}  // namespace

void setSecretClearSeconds(int seconds) {
    holder().seconds_ = seconds;
}

bool copySecret(const std::string& text) {
    if (text.empty()) return false;
    return holder().copy(text);
}

int secretSecondsLeft() {
    return holder().secondsLeft();
}

void onSecretCountdown(std::function<void(int)> listener) {
    holder().listener_ = std::move(listener);
}

void clearSecretNow() {
    holder().clearNow();
}

std::string clipboardData(const std::string& format) {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data) return {};
    if (format == "text/plain") return data->text().toStdString();
    return data->data(QString::fromStdString(format)).toStdString();
}

}  // namespace rt
