-- Quillmere sample game: the menu's "Grove" button. It leaves the map for the chunked level Grove
-- (Data/Maps/Grove.plf), whose script Data/Scripts/Maps/Grove.lua runs as it loads.
MapM_TransitionMap("Grove")
