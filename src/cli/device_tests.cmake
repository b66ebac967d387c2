# The device commands against the simulated unit on a real pseudo-terminal.
if(UNIX AND TARGET zelmo-unit-sim)
endif()
