#pragma once

// The three games the start window offers; None when no window is to open next.
enum class GameKind { None, PokDeng, NineGa, Dummy };
