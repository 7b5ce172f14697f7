# Removes the course lessons of the build's program folder before data/ is
# copied in again, so that a lesson renamed in data/ does not stay in the list
# beside its successor. Run with -DCARTELLA=<program folder>/CorsoDattilo.
file(GLOB lezioni "${CARTELLA}/*.ftd")
if(lezioni)
  file(REMOVE ${lezioni})
endif()
