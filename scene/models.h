#pragma once
// The rounded objects of the scene: pieces, stools, potted plant, chandelier and
// the ornaments on the shelves. Each restores the matrix stack.

void drawPieces();
void drawPottedPlant();
void drawGreenStool();
void drawPinkStool();
void drawChandelier();
void drawShelfPlate();
void drawFrontTrophy();
void drawArmillary();
void drawCup();
void drawBackTrophy();
