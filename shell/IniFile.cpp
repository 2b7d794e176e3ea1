#include "shell/IniFile.h"

#include "shell/TextCodec.h"

#include <algorithm>
#include <climits>
#include <limits>
#include <optional>

namespace kaleno {

namespace {

// Windows also drops Ctrl-Z (the old end-of-file mark) at line ends; a byte-order mark
// left inside the text (a file saved twice with one) is no part of a name either.
bool isBlank(QChar ch) { return ch.isSpace() || ch.unicode() == 0x1A || ch.unicode() == 0xFEFF; }

QStringView trimmed(QStringView s)
{
    qsizetype begin = 0;
    qsizetype end = s.size();
    while (begin < end && isBlank(s[begin]))
        ++begin;
    while (end > begin && isBlank(s[end - 1]))
        --end;
    return s.sliced(begin, end - begin);
}

// Reads the code point at i, moves i past it and gives it case-folded; a lone surrogate
// stands for itself. Names are nearly always ASCII, so that case goes first.
char32_t nextFolded(const char16_t *s, qsizetype size, qsizetype &i)
{
    const char16_t unit = s[i++];
    if (unit < 0x80)
        return (unit >= u'A' && unit <= u'Z') ? char32_t(unit + 32) : char32_t(unit);
    char32_t c = unit;
    if (QChar::isHighSurrogate(unit) && i < size && QChar::isLowSurrogate(s[i]))
        c = QChar::surrogateToUcs4(unit, s[i++]);
    return QChar::toCaseFolded(c);
}

bool equalFolded(QStringView a, QStringView b)
{
    if (a == b)
        return true;
    const char16_t *pa = a.utf16();
    const char16_t *pb = b.utf16();
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        if (nextFolded(pa, a.size(), i) != nextFolded(pb, b.size(), j))
            return false;
    }
    return i == a.size() && j == b.size();
}

size_t hashFolded(QStringView s, size_t seed)
{
    // FNV-1a over the folded code points, then a final mix: QHash takes the low bits,
    // which FNV alone leaves poorly spread for names that differ in one digit.
    quint64 h = quint64(seed) ^ 0xCBF29CE484222325ull;
    const char16_t *p = s.utf16();
    for (qsizetype i = 0; i < s.size();)
        h = (h ^ nextFolded(p, s.size(), i)) * 0x100000001B3ull;
    h ^= h >> 33;
    h *= 0xFF51AFD7ED558CCDull;
    h ^= h >> 33;
    return size_t(h);
}

std::optional<int> parseInteger(QStringView s)
{
    qsizetype i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) {
        negative = s[i] == u'-';
        ++i;
    }
    if (i == s.size())
        return std::nullopt;
    // Stops growing past 2^31, so that long runs of digits cannot overflow.
    qint64 magnitude = 0;
    for (; i < s.size(); ++i) {
        const char16_t c = s[i].unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        magnitude = magnitude * 10 + (c - u'0');
        if (magnitude > qint64(INT_MAX) + 1)
            return std::nullopt;
    }
    const qint64 value = negative ? -magnitude : magnitude;
    if (value > INT_MAX)
        return std::nullopt;
    return static_cast<int>(value);
}

QString cleanValue(const QString &value)
{
    const bool hasBreak = value.contains(u'\r') || value.contains(u'\n');
    if (!hasBreak && trimmed(value).size() == value.size())
        return value;
    QString flat = value;
    for (QChar &ch : flat) {
        if (ch == u'\r' || ch == u'\n')
            ch = u' ';
    }
    return trimmed(flat).toString();
}

constexpr qint32 kMaxIndex = std::numeric_limits<qint32>::max() - 1;

} // namespace

bool operator==(const IniName &a, const IniName &b) noexcept { return equalFolded(a.name, b.name); }

bool operator==(const IniKeyName &a, const IniKeyName &b) noexcept
{
    return a.section == b.section && equalFolded(a.name, b.name);
}

size_t qHash(const IniName &key, size_t seed) noexcept { return hashFolded(key.name, seed); }

size_t qHash(const IniKeyName &key, size_t seed) noexcept
{
    return hashFolded(key.name, seed ^ (size_t(key.section) * size_t(0x9E3779B97F4A7C15ull)));
}

IniFile IniFile::Parse(QByteArrayView bytes)
{
    IniFile ini;
    const QStringView all = ini.store(DecodeUtf8OrWindows1252(bytes));
    const qsizetype size = all.size();
    // Sized for a settings file at once; a larger one grows as usual.
    const qsizetype expectedLines = std::min<qsizetype>(all.count(u'\n') + 1, 4096);
    ini.lines_.reserve(expectedLines);
    ini.keyIndex_.reserve(expectedLines);
    qint32 current = -1;
    qsizetype pos = 0;
    while (pos < size) {
        qsizetype end = pos;
        while (end < size && all[end] != u'\n' && all[end] != u'\r')
            ++end;
        const QStringView line = trimmed(all.sliced(pos, end - pos));
        pos = end;
        if (pos < size)
            pos += (all[pos] == u'\r' && pos + 1 < size && all[pos + 1] == u'\n') ? 2 : 1;
        if (line.isEmpty())
            continue;

        if (line[0] == u'[') {
            const qsizetype close = line.indexOf(u']');
            if (close > 0) {
                if (!ini.addSection(trimmed(line.sliced(1, close - 1))))
                    break;
                current = qint32(ini.sections_.size() - 1);
                continue;
            }
        }
        if (current < 0) {
            ini.preamble_.push_back(line);
            continue;
        }
        const qsizetype equals = line[0] == u';' ? -1 : line.indexOf(u'=');
        const Line entry = equals < 0
            ? Line {line, {}, -1, false}
            : Line {trimmed(line.first(equals)), trimmed(line.sliced(equals + 1)), -1, true};
        if (!ini.appendLine(current, entry))
            break;
    }
    return ini;
}

QByteArray IniFile::Serialize() const
{
    QString out;
    const QLatin1StringView newline("\r\n");
    for (const QStringView line : preamble_) {
        out += line;
        out += newline;
    }
    for (const Section &section : sections_) {
        if (!out.isEmpty())
            out += newline;
        out += u'[';
        out += section.name;
        out += u']';
        out += newline;
        for (qint32 i = section.first; i >= 0; i = lines_[i].next) {
            const Line &line = lines_[i];
            out += line.key;
            if (line.isKey) {
                out += u'=';
                out += line.value;
            }
            out += newline;
        }
    }
    return out.toUtf8();
}

bool IniFile::HasSection(const QString &section) const { return findSection(section) >= 0; }

bool IniFile::Has(const QString &section, const QString &key) const
{
    return findKey(section, key) != nullptr;
}

QStringList IniFile::Sections() const
{
    QStringList names;
    for (qint32 i = 0; i < qint32(sections_.size()); ++i) {
        if (sectionIndex_.value(IniName {sections_[i].name}) == i)
            names.append(sections_[i].name.toString());
    }
    return names;
}

QStringList IniFile::Keys(const QString &section) const
{
    QStringList keys;
    const qint32 s = findSection(section);
    if (s < 0)
        return keys;
    for (qint32 i = sections_[s].first; i >= 0; i = lines_[i].next) {
        const Line &line = lines_[i];
        if (line.isKey && keyIndex_.value(IniKeyName {s, line.key}) == i)
            keys.append(line.key.toString());
    }
    return keys;
}

QString IniFile::ReadString(
    const QString &section, const QString &key, const QString &defaultValue) const
{
    const Line *line = findKey(section, key);
    return line != nullptr ? line->value.toString() : defaultValue;
}

int IniFile::ReadInteger(const QString &section, const QString &key, int defaultValue) const
{
    const Line *line = findKey(section, key);
    if (line == nullptr)
        return defaultValue;
    return parseInteger(line->value).value_or(defaultValue);
}

bool IniFile::ReadBool(const QString &section, const QString &key, bool defaultValue) const
{
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void IniFile::WriteString(const QString &section, const QString &key, const QString &value)
{
    Q_ASSERT(!key.contains(u'=') && !key.contains(u'\n') && !key.contains(u'\r'));
    Q_ASSERT(!key.startsWith(u';') && trimmed(key) == key);
    const qint32 s = sectionForWriting(section);
    if (s < 0)
        return;
    const auto found = keyIndex_.constFind(IniKeyName {s, key});
    if (found != keyIndex_.cend()) {
        lines_[*found].value = store(cleanValue(value));
        return;
    }
    appendLine(s, Line {store(key), store(cleanValue(value)), -1, true});
}

void IniFile::WriteInteger(const QString &section, const QString &key, int value)
{
    WriteString(section, key, QString::number(value));
}

void IniFile::WriteBool(const QString &section, const QString &key, bool value)
{
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void IniFile::MergeMissing(const IniFile &other)
{
    // The views of `other` stay valid here once its texts are held here too.
    storage_.insert(storage_.end(), other.storage_.begin(), other.storage_.end());
    for (qint32 s = 0; s < qint32(other.sections_.size()); ++s) {
        const Section &section = other.sections_[s];
        if (other.sectionIndex_.value(IniName {section.name}) != s)
            continue;
        qint32 target = -1;
        for (qint32 i = section.first; i >= 0; i = other.lines_[i].next) {
            const Line &line = other.lines_[i];
            if (!line.isKey || other.keyIndex_.value(IniKeyName {s, line.key}) != i)
                continue;
            if (target < 0) {
                target = findSection(section.name);
                if (target < 0 && addSection(section.name))
                    target = qint32(sections_.size() - 1);
                if (target < 0)
                    return;
            }
            if (!keyIndex_.contains(IniKeyName {target, line.key}))
                appendLine(target, Line {line.key, line.value, -1, true});
        }
    }
}

qint32 IniFile::findSection(QStringView section) const
{
    return sectionIndex_.value(IniName {section}, -1);
}

const IniFile::Line *IniFile::findKey(QStringView section, QStringView key) const
{
    const qint32 s = findSection(section);
    if (s < 0)
        return nullptr;
    const auto found = keyIndex_.constFind(IniKeyName {s, key});
    return found != keyIndex_.cend() ? &lines_[*found] : nullptr;
}

qint32 IniFile::sectionForWriting(const QString &section)
{
    Q_ASSERT(!section.contains(u']') && !section.contains(u'\n') && !section.contains(u'\r'));
    const qint32 s = findSection(section);
    if (s >= 0)
        return s;
    return addSection(store(section)) ? qint32(sections_.size() - 1) : -1;
}

bool IniFile::addSection(QStringView name)
{
    const qint32 index = qint32(sections_.size());
    if (index >= kMaxIndex)
        return false;
    sections_.push_back(Section {name, -1, -1});
    if (!sectionIndex_.contains(IniName {name}))
        sectionIndex_.insert(IniName {name}, index);
    return true;
}

bool IniFile::appendLine(qint32 section, const Line &line)
{
    const qint32 index = qint32(lines_.size());
    if (index >= kMaxIndex)
        return false;
    lines_.push_back(line);
    Section &target = sections_[section];
    if (target.last >= 0)
        lines_[target.last].next = index;
    else
        target.first = index;
    target.last = index;
    if (line.isKey && !keyIndex_.contains(IniKeyName {section, line.key}))
        keyIndex_.insert(IniKeyName {section, line.key}, index);
    return true;
}

QStringView IniFile::store(QString text)
{
    storage_.push_back(std::move(text));
    return storage_.back();
}

} // namespace kaleno
