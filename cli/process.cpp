#include "process.h"

#include <QList>

#include <fcntl.h>
#include <unistd.h>
#include <cerrno>
#include <cstdlib>
#include <utility>

namespace yorvane {

void holdClosedStandardStreams() {
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
        // Read-only: a write to it fails with EBADF, which says the output was closed.
        const int held = ::open("/dev/null", O_RDONLY);
        if (held >= 0 && held != fd) {
            ::dup2(held, fd);
            ::close(held);
        }
    }
}

namespace {
QString limitProblem(const rlimit& files, const rlimit& addressSpace, const Needs& needs) {
    if (files.rlim_cur != RLIM_INFINITY && files.rlim_cur < needs.files)
        return QStringLiteral(
                   "yorvane: 同時に開けるファイルの数が %1 に制限されているため、起動できません"
                   "（%2 以上が必要です）。")
            .arg(files.rlim_cur)
            .arg(needs.files);
    if (addressSpace.rlim_cur != RLIM_INFINITY && addressSpace.rlim_cur < needs.addressSpace)
        return QStringLiteral(
                   "yorvane: 使えるメモリーが %1 MB に制限されているため、起動できません"
                   "（%2 MB 以上が必要です）。")
            .arg(addressSpace.rlim_cur >> 20)
            .arg(needs.addressSpace >> 20);
    return {};
}
}  // namespace

QString machineLimitProblem(const Needs& needs) {
    rlimit files{RLIM_INFINITY, RLIM_INFINITY};
    rlimit addressSpace{RLIM_INFINITY, RLIM_INFINITY};
    if (::getrlimit(RLIMIT_NOFILE, &files) == 0 && files.rlim_cur < files.rlim_max) {
        rlimit raised = files;
        raised.rlim_cur = files.rlim_max;
        if (::setrlimit(RLIMIT_NOFILE, &raised) == 0) files = raised;
    }
    ::getrlimit(RLIMIT_AS, &addressSpace);
    return limitProblem(files, addressSpace, needs);
}

namespace {

DisplayChoice asked;
bool starting = true;
QtMessageHandler qtHandler = nullptr;

struct HeldMessage {
    QtMsgType type;
    QByteArray file, function, category;
    int line;
    QString text;
};
QList<HeldMessage>& held() {
    static QList<HeldMessage> messages;
    return messages;
}

void printHeld() {
    for (const HeldMessage& m : std::exchange(held(), {})) {
        const auto text = [](const QByteArray& b) { return b.isNull() ? nullptr : b.constData(); };
        const QMessageLogContext context(text(m.file), m.line, text(m.function), text(m.category));
        qtHandler(m.type, context, m.text);
    }
}

[[noreturn]] void endWith(const QString& display, const char* withName, const char* without) {
    const QString line =
        display.isEmpty() ? QString::fromUtf8(without) : QString::fromUtf8(withName).arg(display);
    const QByteArray bytes = (line + QLatin1Char('\n')).toUtf8();
    [[maybe_unused]] const ssize_t n = ::write(STDERR_FILENO, bytes.constData(), bytes.size());
    // Nothing of Qt runs any more: the connection it would clean up is gone.
    std::_Exit(1);
}

void onQtMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (starting && type == QtFatalMsg &&
        (text.contains(QLatin1String("no Qt platform plugin could be initialized")) ||
         text.contains(QLatin1String("connect to display"), Qt::CaseInsensitive)))
        endWith(displayNames(asked.platforms, asked.x11, asked.wayland),
                "yorvane: ディスプレイ（%1）に接続できないため、ウィンドウを開けません。",
                "yorvane: ディスプレイに接続できないため、ウィンドウを開けません。");
    const bool x11 = text.startsWith(QLatin1String("The X11 connection broke"));
    if (x11 || text.startsWith(QLatin1String("The Wayland connection broke")))
        endWith(x11 ? asked.x11 : asked.wayland,
                "yorvane: ディスプレイ（%1）との接続が切れたため、終了します。",
                "yorvane: ディスプレイとの接続が切れたため、終了します。");
    if (starting && type != QtFatalMsg) {
        held().append({type, context.file, context.function, context.category, context.line, text});
        return;
    }
    printHeld();
    qtHandler(type, context, text);
}

}  // namespace

void sayDisplayFailuresInJapanese(const DisplayChoice& display) {
    asked = display;
    starting = true;
    const QtMessageHandler previous = qInstallMessageHandler(onQtMessage);
    if (previous != onQtMessage) qtHandler = previous;
}

void displayStarted() {
    starting = false;
    printHeld();
}

}  // namespace yorvane
