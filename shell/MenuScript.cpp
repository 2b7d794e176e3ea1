#include "shell/MenuScript.h"

#include "shell/TextCodec.h"

#include <QStringList>

namespace kaleno {

namespace {

constexpr int kLinesPerSection = 1 + kMenuLinkCount + kMenuLineCount;
// Lengths of the keys "Titre1=", "Lien1=" and "Label01=", which are skipped unread.
constexpr int kTitleKeyLength = 7;
constexpr int kLinkKeyLength = 6;
constexpr int kLineKeyLength = 8;

constexpr int kFirstLineTop = 68;
constexpr int kLineStep = 28;
constexpr int kLargerStep = 10;
constexpr int kBulletOffset = 4;

// Lines end at CR LF, a lone CR or a lone LF, as a string list splits text; a final line
// end does not start an empty line.
QStringList splitLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar ch = text[i];
        if (ch == u'\r' || ch == u'\n') {
            lines.append(text.sliced(start, i - start));
            if (ch == u'\r' && i + 1 < n && text[i + 1] == u'\n')
                ++i;
            start = i + 1;
        }
        ++i;
    }
    if (start < n)
        lines.append(text.sliced(start));
    return lines;
}

// The script's comments are dropped by this exact loop, which never looks at the last
// line; harmless, since the script does not end with a comment.
void removeComments(QStringList &lines)
{
    qsizetype i = 0;
    while (i < lines.size() - 1) {
        if (lines[i].startsWith(QLatin1String("//")))
            lines.removeAt(i);
        else
            ++i;
    }
}

// A value is the caption, one state digit and one spacing character ("N" for normal).
std::optional<MenuEntry> parseEntry(const QString &line, int keyLength)
{
    const QString value = line.mid(keyLength);
    if (value.size() < 2)
        return std::nullopt;
    const QChar digit = value[value.size() - 2];
    if (digit < u'0' || digit > u'3')
        return std::nullopt;
    MenuEntry entry;
    entry.Caption = value.first(value.size() - 2).left(kMenuCaptionMax);
    entry.State = digit.unicode() - u'0';
    entry.NormalStep = value.back() == u'N';
    return entry;
}

} // namespace

std::optional<MenuSections> ParseMenuScript(QByteArrayView bytes, const QString &productName)
{
    QStringList lines = splitLines(DecodeWindows1252(bytes));
    removeComments(lines);
    if (lines.size() < kMenuSectionCount * kLinesPerSection)
        return std::nullopt;

    MenuSections sections;
    qsizetype next = 0;
    for (int s = 1; s <= kMenuSectionCount; ++s) {
        MenuSection &section = sections[s];
        section.Title = QLatin1Char(' ') + productName + lines[next++].mid(kTitleKeyLength);
        for (int k = 1; k <= kMenuLinkCount; ++k) {
            const auto entry = parseEntry(lines[next++], kLinkKeyLength);
            if (!entry)
                return std::nullopt;
            section.Links[k] = *entry;
        }
        for (int j = 1; j <= kMenuLineCount; ++j) {
            const auto entry = parseEntry(lines[next++], kLineKeyLength);
            if (!entry)
                return std::nullopt;
            section.Lines[j] = *entry;
        }
    }
    return sections;
}

LinkLayout LayoutLines(const MenuSection &section)
{
    LinkLayout layout;
    int y = kFirstLineTop;
    for (int j = 1; j <= kMenuLineCount; ++j) {
        const MenuEntry &line = section.Lines[j];
        if (!line.NormalStep)
            y += kLargerStep;
        layout.top[j] = y;
        layout.bulletTop[j] = y + kBulletOffset;
        layout.visible[j] = line.State < 3;
        y += kLineStep;
    }
    return layout;
}

} // namespace kaleno
