# Kept while scripts/static-checks.sh still passes this file as
# CMAKE_PROJECT_Quorvel_INCLUDE; -DQUORVEL_FUZZ=ON does the same.
set(QUORVEL_FUZZ ON)
