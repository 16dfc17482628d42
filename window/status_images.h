// The pictures of resources/: the application icon and the four status
// images, whose order in the image list is the status values'.
#pragma once

#include <wx/icon.h>

class wxImageList;

wxIcon AppIcon();

// A new 16x16 image list: unknown, mismatch, match, folder. The caller owns it.
wxImageList* CreateStatusImages();
