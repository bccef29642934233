"""Draws the program's skin (images, regions, icons, cursors) from code."""
