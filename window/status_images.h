// The pictures of resources/: the application icon and the four status
// images, whose order in the image list is the status values'.
#pragma once

#include <wx/iconbndl.h>

class wxImageList;

// The application icon in the sizes there are: on Windows those of the .ico
// built into the executable, elsewhere the 32x32 drawing.
wxIconBundle AppIcons();

// A new 16x16 image list: unknown, mismatch, match, folder. The caller owns it.
wxImageList* CreateStatusImages();
