#pragma once

#include <QByteArray>

// The sample game's Elements.txt, built from the same tables as the pictures
// so that the tile sheet's order and the catalogue's order cannot drift apart.
QByteArray catalogueText();
