#pragma once
// The nine pictures of the room, by their file names under the game's
// "Textures" folder. Written once here: the texture set loads them, the data
// folder is known by them and the picture maker draws them. No GL.

constexpr const char* kWall2Picture = "Wall2.bmp";
constexpr const char* kPolPicture = "Pol.bmp";
constexpr const char* kWall3Picture = "Wall3.bmp";
constexpr const char* kWall4Picture = "Wall4.bmp";
constexpr const char* kStolPicture = "Stol.bmp";
constexpr const char* kHelp3Picture = "Help3.bmp";
constexpr const char* kGreenWinsPicture = "GreenWins.bmp";
constexpr const char* kPinkWinsPicture = "PinkWins.bmp";
constexpr const char* kLandscape2Picture = "landscape2.bmp";

// All nine, in the order the textures are made.
constexpr const char* kRoomPictures[] = {kWall2Picture,     kPolPicture,      kWall3Picture,
                                         kWall4Picture,     kStolPicture,     kHelp3Picture,
                                         kGreenWinsPicture, kPinkWinsPicture, kLandscape2Picture};
constexpr int kRoomPictureCount = sizeof kRoomPictures / sizeof kRoomPictures[0];
