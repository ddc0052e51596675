#pragma once
// The program's own pictures for windows below the application, which ask for them by art
// id through wxArtProvider: the print preview's Setting panel icon (the ribbon's first
// panel picture, as the ribbon's panels show theirs).

namespace kelmora {

// Makes the pictures available; once per process, later calls change nothing.
void InstallProgramArt();

} // namespace kelmora
