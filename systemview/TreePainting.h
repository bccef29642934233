#pragma once
#include <windows.h>

#include "base/Rect.h"

struct TreeConnector;
class TreeNodeView;

// The pieces of the system tree's picture that are not a view's own look, in diagram
// coordinates.
void DrawComputerBox(HDC dc, const TreeNodeView& computer);
// The stem below the parent, the branch to the port level, the drop to the child and the
// numbered port circle.
void DrawConnector(HDC dc, const TreeConnector& connector);
// The halo of a node in trouble, coloured by its severity; nothing for a healthy node.
void DrawSeverityHalo(HDC dc, const TreeNodeView& view);

// Whether anything a view or connector draws can reach the area: cheaper to ask than to draw.
bool ViewMayShowIn(const TreeNodeView& view, const RECT& area);
bool ConnectorMayShowIn(const TreeConnector& connector, const RECT& area);
