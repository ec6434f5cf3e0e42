#pragma once
// What the other programs that read what the engine writes (LibreOffice, Python readers,
// poppler's tools) print, taken in the toolkit's types the interop tests compare with.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <optional>
#include <string>
#include <vector>

#include "support/run_program.h"

namespace tallowmere::testing {

// Runs program with args; its standard output, or nothing (and a test failure) when it failed.
inline std::optional<QByteArray> ProgramOutput(const QString& program, const QStringList& args,
                                               int timeoutSeconds = 120) {
  std::vector<std::string> argv{program.toStdString()};
  for (const QString& arg : args) argv.push_back(arg.toStdString());
  const ProgramResult run = RunProgram(argv, {}, timeoutSeconds);
  if (!run.Succeeded()) {
    ADD_FAILURE() << argv[0] << " failed (exit " << run.exitCode << ", signal " << run.signal << "): " << run.err;
    return std::nullopt;
  }
  return QByteArray::fromStdString(run.out);
}

// Runs a script of tests/scripts that prints one JSON object; the object, or an empty one.
inline QJsonObject RunPythonJson(const char* script, const QStringList& args) {
  auto out = ProgramOutput(kPython, QStringList{QString::fromStdString(TestScript(script))} + args);
  if (!out) return {};
  return QJsonDocument::fromJson(*out).object();
}

}  // namespace tallowmere::testing
