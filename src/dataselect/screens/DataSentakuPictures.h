#pragma once
// The small pictures of the data list: the list pictures (0 empty, 1 lock,
// 2 shared data on the server) and the cloud pictures (0 none, 1 cloud).

#include <QIcon>

QIcon DataListPicture(int index);
QIcon CloudPicture(int index);
