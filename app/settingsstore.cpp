#include "settingsstore.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include <charconv>
#include <cmath>
#include <limits>

namespace {

std::unique_ptr<QSettings> openStore()
{
#ifdef Q_OS_WIN
    return std::make_unique<QSettings>(
        QStringLiteral("HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\Quillmark"), QSettings::NativeFormat);
#else
    // Quillmark.conf in the user's configuration folder ($XDG_CONFIG_HOME, else ~/.config).
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return std::make_unique<QSettings>(folder + QStringLiteral("/Quillmark.conf"), QSettings::IniFormat);
#endif
}

} // namespace

SettingsStore::SettingsStore()
    : m_settings(openStore())
{
}

SettingsStore::~SettingsStore() = default;

QString SettingsStore::GetSetting(const QString& section, const QString& key, const QString& defaultText) const
{
    const QVariant value = m_settings->value(section + QLatin1Char('/') + key);
    if (!value.isValid())
        return defaultText;
    // A key written by hand as "a, b" comes back as a list; keep its text.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
}

bool SettingsStore::SaveSetting(const QString& section, const QString& key, const QString& text)
{
    m_settings->setValue(section + QLatin1Char('/') + key, text);
    return m_settings->isWritable();
}

bool SettingsStore::flush(QString* errorText)
{
    m_settings->sync();
    if (m_settings->status() == QSettings::NoError)
        return true;
    if (errorText) {
        *errorText = m_settings->status() == QSettings::AccessError ? QStringLiteral("書き込めません")
                                                                    : QStringLiteral("形式が正しくありません");
    }
    return false;
}

QString SettingsStore::location() const
{
    return QDir::toNativeSeparators(m_settings->fileName());
}

bool SettingsStore::isReadable() const
{
    return m_settings->status() == QSettings::NoError;
}

std::optional<float> parseTwips(const QString& text)
{
    // Leading and trailing blanks are allowed, as in Basic's own conversion; nothing else.
    const QByteArray bytes = text.trimmed().toLatin1();
    if (bytes.isEmpty() || text.size() > 64)
        return std::nullopt;
    const char* begin = bytes.constData();
    const char* end = begin + bytes.size();
    if (*begin == '+')
        ++begin;
    double value = 0;
    const auto [ptr, ec] = std::from_chars(begin, end, value, std::chars_format::general);
    if (ec != std::errc() || ptr != end || !std::isfinite(value)
        || std::fabs(value) > double(std::numeric_limits<float>::max()))
        return std::nullopt;
    // Non-Latin-1 text would have been mangled into '?' above and failed already.
    return static_cast<float>(value);
}

QString twipsText(float twips)
{
    // Positions are whole pixels, so whole twips; print without exponent or fraction.
    return QString::number(static_cast<qlonglong>(std::llround(double(twips))));
}
