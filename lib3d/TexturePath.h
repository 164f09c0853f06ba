// Where a texture named in a model file lies. A model file may come from
// anywhere, so the names it gives are confined to the program's folder.
#pragma once
#include <string>

// The path of the texture Name inside Folder, with every link followed and
// "." and ".." resolved. Both "\" and "/" separate folders. Throws
// std::runtime_error("Texture outside the program folder") when the result
// lies outside Folder (an absolute name, too many "..", or a link that leads
// out), whether or not such a file exists; nothing there is opened. A name
// over MaxNameBytes, or of more than MaxNameFolders steps besides "." and
// empty ones, throws "Name too long: ..." before it is resolved.
std::string ResolveTexturePath(const std::string& Folder, const std::string& Name);
