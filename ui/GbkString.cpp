#include "ui/GbkString.h"

#include "platform/Gbk.h"

#include <QList>

namespace olv {

namespace {

constexpr char32_t noBreakSpace = 0x00A0;

} // namespace

QString fromGbk(std::string_view gbk) { return fromUtf8(gbkToUtf8(gbk)); }

std::string toGbk(const QString& text)
{
    QString blanked = text;
    blanked.replace(QChar(noBreakSpace), QLatin1Char(' '));
    return utf8ToGbk(blanked.toStdString());
}

QString fromUtf8(std::string_view utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }

QString oneLineText(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

std::optional<QString> firstUnheldCharacter(const QString& text)
{
    for (const uint code : text.toUcs4()) {
        const char32_t character = code;
        if (character == noBreakSpace || character == U'?')
            continue;
        const QString one = QString::fromUcs4(&character, 1);
        if (utf8ToGbk(one.toStdString()) == "?")
            return one;
    }
    return std::nullopt;
}

std::optional<std::string> entryRefusal(std::initializer_list<std::pair<QString, QString>> boxes)
{
    for (const auto& [caption, text] : boxes) {
        if (const auto character = firstUnheldCharacter(text))
            return (QString(caption).remove(QLatin1Char(':')) + QStringLiteral("中不能含有字符") + *character
                + QStringLiteral(",请改用其它"))
                .toStdString();
    }
    return std::nullopt;
}

} // namespace olv
