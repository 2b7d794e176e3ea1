// The default image of the image modules: a television test card drawn at any size.
#pragma once

namespace kaleno {

class TDibPlus;

// The two lines of text of the card: the product name in the upper black box, a word short
// enough for the lower one at the card's font size.
inline constexpr char kTestCardTitle[] = "Kaleno";
inline constexpr char kTestCardSubtitle[] = "Couleurs";

// Draws the card over the whole buffer (its proportions are the caller's business; the
// modules give it a 4:3 frame, TestCardRect). The layout is in 17ths of the width (u): a
// grey ground crossed by white lines every u, and inside a centred circle of radius
// 16 * height div 34 the pattern of colour bars, gratings, grey steps and the two lines.
void PaintTestCard(TDibPlus &card);

} // namespace kaleno
