// The version of the world's rules: a short text that changes whenever a rule
// or a trace changes. Every demo names it in its header, and a demo of another
// version is refused, since it would replay into a different game.
#pragma once

constexpr char RulesVersion[] = "2";
