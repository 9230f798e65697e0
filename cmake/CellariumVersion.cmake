# The one version of Cellarium: the app, the tools, the shared libraries, the metainfo
# and the package all take it from here (as PROJECT_VERSION). Included before project().
set(CELLARIUM_VERSION 1.0.0)
