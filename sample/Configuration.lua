-- Quillmere sample game: key configuration.
--
-- Each action takes up to two keys by name ("NONE" for none). These are the defaults, spelled out
-- so that a player can change them here.

CFG_SetKey("Up", "ARROW_UP", "W")
CFG_SetKey("Down", "ARROW_DOWN", "S")
CFG_SetKey("Left", "ARROW_LEFT", "A")
CFG_SetKey("Right", "ARROW_RIGHT", "D")
CFG_SetKey("RunHold", "LSHIFT", "RSHIFT")
CFG_SetKey("RunToggle", "CAPSLOCK", "NONE")
CFG_SetKey("TrotToggle", "T", "NONE")
CFG_SetKey("Jump", "SPACE", "NONE")
CFG_SetKey("Buck", "Z", "NONE")
CFG_SetKey("Rise", "Z", "NONE")
CFG_SetKey("Drop", "X", "NONE")
CFG_SetKey("Weapon1", "1", "NONE")
CFG_SetKey("Weapon2", "2", "NONE")
CFG_SetKey("Weapon3", "3", "NONE")
CFG_SetKey("Weapon4", "4", "NONE")
CFG_SetKey("Weapon5", "5", "NONE")

-- Escape opens nothing yet: it ends the game.
CFG_SetKey("Menu", "ESCAPE", "NONE")
