#pragma once

#include <QIcon>
#include <QPixmap>

// The pictures of the toolbar buttons, drawn rather than loaded.
enum class Glyph { Open, SignalLevel, SkyPlot, Map, Start, Stop, LogFile, ReceiverInit };

QIcon GlyphIcon(Glyph glyph);

// The program's icon as a picture, for the about box.
QPixmap ProgramPicture(int size);
