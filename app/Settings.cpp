#include "app/Settings.h"

#include <QFileInfo>

#include "app/PreferencesIO.h"
#include "core/CPalette.h"

namespace {
class CSettingsSection : public CPreferenceReader, public CPreferenceWriter {
public:
    explicit CSettingsSection(QSettings& s) : s_(s) {}
    std::optional<int64_t> readInteger(const std::string& key) override {
        QVariant v = s_.value(QString::fromStdString(key));
        if (!v.isValid()) return std::nullopt;
        bool ok = false;
        qlonglong n = v.toLongLong(&ok);
        if (!ok) return std::nullopt;
        return n;
    }
    std::optional<std::string> readText(const std::string& key) override {
        QVariant v = s_.value(QString::fromStdString(key));
        if (!v.isValid()) return std::nullopt;
        return v.toString().toStdString();
    }
    void writeInteger(const std::string& key, int64_t value) override {
        s_.setValue(QString::fromStdString(key), static_cast<qlonglong>(value));
    }
    void writeText(const std::string& key, const std::string& value) override {
        s_.setValue(QString::fromStdString(key), QString::fromStdString(value));
    }

private:
    QSettings& s_;
};
}  // namespace

std::unique_ptr<QSettings> openSettings() {
    return std::make_unique<QSettings>(QStringLiteral("Ovrane"), QStringLiteral("Korvendal32"));
}

void loadPreferences(QSettings& settings) {
    settings.beginGroup(QStringLiteral("Preferences"));
    CSettingsSection section(settings);
    readPreferences(section, preferences());
    settings.endGroup();
    // The pen of the normal line style depends on "LineEnforcement".
    CPalette::rebuildPens();
}

void savePreferences(QSettings& settings) {
    settings.beginGroup(QStringLiteral("Preferences"));
    CSettingsSection section(settings);
    writePreferences(section, preferences());
    settings.endGroup();
    settings.sync();
}

QStringList loadRecentFiles(QSettings& settings) {
    QStringList files;
    settings.beginGroup(QStringLiteral("Recent File List"));
    for (int i = 1; i <= kRecentFileCount; ++i) {
        QString f = settings.value(QStringLiteral("File%1").arg(i)).toString();
        if (!f.isEmpty() && !files.contains(f)) files << f;
    }
    settings.endGroup();
    return files;
}

void saveRecentFiles(QSettings& settings, const QStringList& files) {
    settings.beginGroup(QStringLiteral("Recent File List"));
    for (int i = 1; i <= kRecentFileCount; ++i) {
        QString key = QStringLiteral("File%1").arg(i);
        if (i <= files.size())
            settings.setValue(key, files[i - 1]);
        else
            settings.remove(key);
    }
    settings.endGroup();
    settings.sync();
}

QStringList withRecentFile(QStringList files, const QString& path) {
    QString absolute = QFileInfo(path).absoluteFilePath();
    files.removeAll(absolute);
    files.prepend(absolute);
    while (files.size() > kRecentFileCount) files.removeLast();
    return files;
}
