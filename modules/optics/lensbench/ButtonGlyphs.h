// The small pictures of the thick-lens window's tool buttons, drawn at start so that the
// tool bar fits the narrowest window; each button keeps its hint and accessible name.
#pragma once

#include <QIcon>

namespace kaleno::lensbench {

enum class Glyph { Height, Curvature, Thickness, Colours, Centre };

// A 16 x 16 picture in the colour `ink` (the button text colour), transparent elsewhere.
QIcon GlyphIcon(Glyph glyph, const QColor &ink);

} // namespace kaleno::lensbench
