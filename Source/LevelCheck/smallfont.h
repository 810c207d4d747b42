#ifndef MORVELLANT_LEVELCHECK_SMALLFONT_H
#define MORVELLANT_LEVELCHECK_SMALLFONT_H

// The letters of a picture's legend, three pixels wide and five high: the
// capitals and figures the legend writes. The pixels of a glyph
// as fifteen characters, three a row from the top row down, '#' where ink
// is; null for a character the font lacks, which is left blank.
const char* smallGlyph(char c);

const int kGlyphWidth = 3;
const int kGlyphHeight = 5;

#endif
