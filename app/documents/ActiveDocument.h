#pragma once
// The main frame, the active editing view and the active drawing, reached from anywhere
// on the UI thread. Each is null when there is none: before the frame exists or after it
// has gone, and while no document window is open.

namespace kelmora {

class CDrawDoc;
class CDrawView;
class CMainFrame;

CMainFrame* GetMainFrame();
// The editing view of the active pane of the main frame's active child frame.
CDrawView* GetActiveDrawView();
// The drawing of that child frame.
CDrawDoc* GetActiveDrawDoc();

} // namespace kelmora
