#pragma once
// The thumbnail the host shows for the object type: 64 x 64, 24 bits.
#define IDB_THUMBNAIL 1000
