// The board page served at /: the best games, a period at a time, with Watch.
#pragma once
#include <string>

const std::string& BoardPageHtml();
