# Makes an empty home for each test named in names (comma-separated), with
# the private runtime folder Qt expects, so that nothing an earlier run or the
# user's own home holds reaches a test.
file(REMOVE_RECURSE "${homes}")
string(REPLACE "," ";" names "${names}")
foreach(name IN LISTS names)
    file(MAKE_DIRECTORY "${homes}/${name}/runtime")
    file(CHMOD "${homes}/${name}/runtime" DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
endforeach()
