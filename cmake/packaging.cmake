# The Debian package, made by CPack (`make package`). Its dependencies come from dpkg-shlibdeps:
# SDL's symbols file asks for libsdl1.2debian (>= 1.2.15), which the classic runtime satisfies and
# so does sdl12-compat's libsdl1.2-compat-shim, which provides libsdl1.2debian (= 1.2.15-1).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarnel)
set(CPACK_PACKAGE_VENDOR "Tarnel developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "walk a hero through a crowd of wandering figures")
# The long description, in lines short enough for package managers to show unwrapped.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
    "Tarnel is a small real-time 2-D sprite game on SDL 1.2. It takes over a"
    "640x480 full screen, or a window, and shows a world the size of its"
    "background picture: a hero that you walk with the arrow keys among 200"
    "soldiers and statues that walk and stand at random, all stopped by each"
    "other and by the world's edges. Return pauses and resumes, Escape quits.")
# The project's own address, as in its commits, its changelog and its copyright file.
set(CPACK_DEBIAN_PACKAGE_MAINTAINER
    "Tarnel developers <maintainers@users.noreply.c-seed-34721505.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)

include(CPack)
