#pragma once
// Identifiers of the resources compiled into the program.

#define IDI_VANTREL 1
// Every size of the program's pictures, packed by art/render.sh (render/PictureBlob.h).
#define IDR_PICTURES 2
