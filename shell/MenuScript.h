// The launcher's menu script: the captions, states and spacing of the four sections of
// links, kept as text so that the launcher window holds none of them.
#pragma once

#include <QByteArrayView>
#include <QString>

#include <array>
#include <optional>

namespace kaleno {

inline constexpr int kMenuSectionCount = 4;
inline constexpr int kMenuLinkCount = 4;
inline constexpr int kMenuLineCount = 11;
inline constexpr int kMenuCaptionMax = 50;

// One link of a section. State: 0 visible but inactive (grey), 1 active, 2 active with a
// red bullet, 3 hidden. NormalStep false puts a larger gap above the line.
struct MenuEntry {
    QString Caption;
    int State = 3;
    bool NormalStep = true;
};

// Arrays are indexed from 1, as the labels are numbered; element 0 is unused.
struct MenuSection {
    QString Title;
    std::array<MenuEntry, kMenuLinkCount + 1> Links;
    std::array<MenuEntry, kMenuLineCount + 1> Lines;
};

// Sections 1..4; element 0 is unused.
using MenuSections = std::array<MenuSection, kMenuSectionCount + 1>;

// Reads a script (Windows-1252 text, one item per line). Each title becomes
// " " + productName + its text. Returns nullopt when lines are missing or a state is not
// one of the digits 0..3.
std::optional<MenuSections> ParseMenuScript(QByteArrayView bytes, const QString &productName);

// Vertical placement of a section's link lines and bullets in the launcher, 1-based.
struct LinkLayout {
    std::array<int, kMenuLineCount + 1> top {};
    std::array<int, kMenuLineCount + 1> bulletTop {};
    std::array<bool, kMenuLineCount + 1> visible {};
};

LinkLayout LayoutLines(const MenuSection &section);

} // namespace kaleno
