# The maker's home page, the high-score page and the score key live here and
# nowhere else; override them at configure time (-DPAV_HOME_URL=...).
set(PAV_HOME_URL "http://www.pavlora-games.example/" CACHE STRING "The maker's web site, opened by the collect slot")
set(PAV_HISCORE_URL "http://www.pavlora-games.example/cgi-bin/hiscore.cgi" CACHE STRING "The high-score page")
set(PAV_SCORE_KEY "pavlora" CACHE STRING "Key sent with uploaded scores")
configure_file(${CMAKE_CURRENT_LIST_DIR}/web_settings.h.in ${CMAKE_BINARY_DIR}/generated/web_settings.h @ONLY)
# Where the pictures of docs/screenshots/ are published, for the software
# centres that read the installed application descriptions.
set(PAV_SCREENSHOTS_URL "https://www.pavlora-games.example/screenshots/" CACHE STRING "Published folder of docs/screenshots/")
