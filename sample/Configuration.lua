-- Quillmere sample game: Configuration.lua, the second start-up script.
--
-- It runs once the keyboard manager exists, so it is the place for the player's key settings.
-- Each of the 17 actions takes up to two keys by name ("NONE" for none); docs/script-api.md lists
-- every key name. A misspelt name is logged ("CFG_SetKey:  Failed, no key space found") and that
-- action keeps its keys. These are the defaults, spelled out so that a player can change them
-- here.
--
-- The player reads the actions every tick; what each does depends on the game mode (the sample
-- starts in the isometric courtyard, mode 1, where the arrows walk along the screen's diagonals;
-- its meadow and grove use the default scheme and its ridge and cave the side view, mode 2).
-- docs/script-api.md lists the keys of every mode. While an input box has the keyboard, the keys
-- it types with are its own and the actions do not see them.

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

-- Escape opens no menu yet: it ends the game.
CFG_SetKey("Menu", "ESCAPE", "NONE")
