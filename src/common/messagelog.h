#pragma once

#include <QString>
#include <QtGlobal>
#include <functional>

// The message handler that writes every qDebug/qInfo/qWarning/qCritical of
// every thread into the log file, one open-append-close per message so the
// log is complete even when the program is killed.
namespace MessageLog {

enum class Destination { File, StandardOutput };

// Shipped configuration: every level goes to the file.
constexpr Destination shippedDestination = Destination::File;
constexpr int shippedThreshold = 5;

// "[%1] <%2> %3 (%4) | %5:%6 (%7) '%8'" filled for one message.
QString formatLine(QtMsgType type, const QMessageLogContext &context, const QString &message,
                   const QString &timeText, quintptr threadId);

// Whether a message of this type reaches the file at the given threshold (0..5).
bool passesThreshold(QtMsgType type, int threshold);

// Sets the file the handler appends to; the truncating open of start-up
// happens in truncateLogFile().
void setLogFilePath(const QString &path);
QString logFilePath();

// Empties the log file; failures are ignored.
void truncateLogFile();

void setDestination(Destination destination);
void setThreshold(int threshold);

// Called with the text "<error string><log path>" when the log file cannot be
// opened for appending. The application installs a modal warning box; tests
// install a recorder.
using OpenFailureHook = std::function<void(const QString &text)>;
void setOpenFailureHook(OpenFailureHook hook);

void messageHandler(QtMsgType type, const QMessageLogContext &context, const QString &message);

void install();

} // namespace MessageLog
