// The per-user settings store: publisher "Ovrane", application "Korvendal32", preferences in
// the section "Preferences" and the most recent files in "Recent File List".
#pragma once

#include <QSettings>
#include <QStringList>
#include <memory>

inline constexpr int kRecentFileCount = 4;

std::unique_ptr<QSettings> openSettings();

// Reads the section "Preferences" into preferences() (defaults and corrections applied) and
// rebuilds the pens.
void loadPreferences(QSettings& settings);
void savePreferences(QSettings& settings);

QStringList loadRecentFiles(QSettings& settings);
void saveRecentFiles(QSettings& settings, const QStringList& files);
// `path` first, without duplicates, at most kRecentFileCount names.
QStringList withRecentFile(QStringList files, const QString& path);
