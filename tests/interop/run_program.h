#pragma once
// Running the other programs that read what the engine writes (LibreOffice, Python
// readers, poppler's tools) and taking what they print.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <optional>

namespace tallowmere::testing {

inline constexpr const char* kPython = "/usr/bin/python3";

// Runs a program; its standard output, or nothing (and a test failure) when it failed.
inline std::optional<QByteArray> RunProgram(const QString& program, const QStringList& args, int timeoutMs = 120000) {
  QProcess process;
  process.start(program, args);
  if (!process.waitForFinished(timeoutMs) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
    ADD_FAILURE() << program.toStdString() << " failed: " << process.readAllStandardError().toStdString();
    return std::nullopt;
  }
  return process.readAllStandardOutput();
}

inline bool PythonHas(const char* module) {
  QProcess process;
  process.start(kPython, {"-c", QString("import ") + module});
  return process.waitForFinished(30000) && process.exitCode() == 0;
}

// Runs a Python script that prints one JSON object; the object, or an empty one.
inline QJsonObject RunPythonJson(const QString& script, const QStringList& args) {
  auto out = RunProgram(kPython, QStringList{"-c", script} + args);
  if (!out) return {};
  return QJsonDocument::fromJson(*out).object();
}

}  // namespace tallowmere::testing
