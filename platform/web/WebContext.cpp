#include "WebContext.h"

#include <emscripten/html5.h>
#include <emscripten/html5_webgl.h>

#include "GlRestore.h"
#include "WebServices.h"

bool CreatePageContext(int Width, int Height) {
  emscripten_set_canvas_element_size("#canvas", Width, Height);
  EmscriptenWebGLContextAttributes Attributes;
  emscripten_webgl_init_context_attributes(&Attributes);
  Attributes.majorVersion = 2;
  Attributes.minorVersion = 0;
  // No alpha: the picture is opaque like a window's, whatever alpha the game draws.
  Attributes.alpha = EM_FALSE;
  Attributes.depth = EM_TRUE;
  Attributes.stencil = EM_FALSE;
  Attributes.antialias = EM_FALSE;
  const EMSCRIPTEN_WEBGL_CONTEXT_HANDLE Context = emscripten_webgl_create_context("#canvas", &Attributes);
  if (Context <= 0 || emscripten_webgl_make_context_current(Context) != EMSCRIPTEN_RESULT_SUCCESS) {
    ShowPageMessage(PageCaption,
                    "Unable to create a WebGL 2 rendering context. Turn on hardware (graphics) acceleration in the "
                    "browser's settings, update the browser and the graphics driver, or try another browser.");
    return false;
  }
  NoteNewContext(Width, Height);
  return true;
}

void CanvasSize(int& Width, int& Height) { emscripten_get_canvas_element_size("#canvas", &Width, &Height); }

double CanvasPixelsPerCssPixel() {
  int Width = 0, Height = 0;
  CanvasSize(Width, Height);
  double CssWidth = 0, CssHeight = 0;
  emscripten_get_element_css_size("#canvas", &CssWidth, &CssHeight);
  return CssWidth > 0 ? double(Width) / CssWidth : 1;
}
