// How a load's stages report a failure: any failure but a fault already
// naming its file names the model, as a fault in its text does.
#pragma once
#include <exception>
#include <string>

#include "MerivexLib3D.h"

template <typename Stage>
void NamingTheModel(const std::string& Name, Stage&& Run) {
  try {
    Run();
  } catch (const ELoadError&) {
    throw;
  } catch (const std::exception& e) {  // "Model too large" among them
    throw ELoadError(Name, e.what());
  }
}
