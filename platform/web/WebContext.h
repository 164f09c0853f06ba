// The page's canvas (#canvas) as a WebGL 2 drawing surface.
#pragma once

// Makes the WebGL 2 context on #canvas at Width x Height and makes it current;
// false (with the reason on the page) when the browser has no WebGL 2.
bool CreatePageContext(int Width, int Height);

// The drawing buffer's size from the canvas element.
void CanvasSize(int& Width, int& Height);
// The canvas's drawing-buffer pixels to one CSS pixel of its box on the page
// (a mouse or touch position comes in CSS pixels).
double CanvasPixelsPerCssPixel();
