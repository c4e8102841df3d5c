#pragma once
// Identifiers of the grid control's resources and commands.

// The in-place editor's child id.
#define IDC_GRID_EDIT               290

// Commands of the grid's own menu, sent to the grid window.
#define ID_GRID_ADD_COLUMN          291
#define ID_GRID_ADD_ROW             292
#define ID_GRID_REMOVE_ROW          293
#define ID_GRID_REMOVE_COLUMN       294

// Cursors: over a column border, a row number, a column title.
#define IDC_GRID_RESIZE             111
#define IDC_GRID_ROW                112
#define IDC_GRID_COLUMN             113
