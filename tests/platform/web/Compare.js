// Comparisons for the browser tests: the first difference of two traces, and
// how many pixels of two pictures differ noticeably.
'use strict';

// The first line where two traces differ, with the first differing field; null when equal.
function FirstTraceDifference(Native, Web) {
  const A = Native.split('\n'), B = Web.split('\n');
  for (let i = 0; i < Math.max(A.length, B.length); ++i) {
    if (A[i] === B[i]) continue;
    const X = A[i] || '', Y = B[i] || '';
    let At = 0;
    while (At < X.length && X[At] === Y[At]) ++At;
    const Key = X.slice(0, At).match(/"([A-Za-z]+)":[^"]*$/);
    return { Line: i + 1, Field: Key ? Key[1] : '?', Native: X.slice(Math.max(0, At - 60), At + 60),
             Web: Y.slice(Math.max(0, At - 60), At + 60) };
  }
  return null;
}

// Pixels (RGBA, same size) whose largest channel difference passes Threshold,
// and the bounding box of those pixels.
function PixelDifference(A, B, Width, Height, Threshold) {
  let Count = 0, MinX = Width, MinY = Height, MaxX = -1, MaxY = -1;
  for (let y = 0; y < Height; ++y)
    for (let x = 0; x < Width; ++x) {
      const i = (y * Width + x) * 4;
      const D = Math.max(Math.abs(A[i] - B[i]), Math.abs(A[i + 1] - B[i + 1]), Math.abs(A[i + 2] - B[i + 2]));
      if (D <= Threshold) continue;
      ++Count;
      MinX = Math.min(MinX, x); MaxX = Math.max(MaxX, x);
      MinY = Math.min(MinY, y); MaxY = Math.max(MaxY, y);
    }
  return { Count, Share: Count / (Width * Height), Box: Count ? [MinX, MinY, MaxX, MaxY] : null };
}

module.exports = { FirstTraceDifference, PixelDifference };
