# Sources of this glyph source (filled as it is built).
