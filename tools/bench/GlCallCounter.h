// The number of GL calls made so far by the whole program (every GL entry
// point that frames use is counted; loading's own calls are not).
#pragma once

extern long GlCalls;
