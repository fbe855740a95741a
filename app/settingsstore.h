#pragma once

#include <QString>

#include <memory>
#include <optional>

class QSettings;

// The per-user store of text values under the application "Quillmark": an INI file
// (Quillmark.conf in the user's configuration folder) on Linux and macOS, and on Windows
// the registry key that Visual Basic's GetSetting/SaveSetting use, so old positions carry over.
class SettingsStore {
public:
    SettingsStore();
    ~SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    // The stored text, or defaultText when the key holds nothing.
    QString GetSetting(const QString& section, const QString& key, const QString& defaultText) const;
    // Creates or replaces the value. Returns false when the store could not be written.
    bool SaveSetting(const QString& section, const QString& key, const QString& text);
    // Writes pending values; false (with the reason in errorText) when that failed.
    bool flush(QString* errorText = nullptr);

    QString location() const;
    bool isReadable() const;

private:
    std::unique_ptr<QSettings> m_settings;
};

// Window positions are stored as twips in decimal text ("1200", "-360") and held as single
// precision. Text that is no number, not finite or outside single precision gives nullopt.
std::optional<float> parseTwips(const QString& text);
QString twipsText(float twips);
