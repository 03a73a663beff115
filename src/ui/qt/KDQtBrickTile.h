#pragma once

#include <QImage>

// The soft brick tile the properties pane shows behind the editor windows.
QImage KDQtBrickTile();
