<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="en">
<context>
    <name>FennelKit</name>
    <message>
        <source>ICP Filing No. EXAMPLE-00000000-</source>
        <translation>ICP Filing No. EXAMPLE-00000000-</translation>
    </message>
    <message>
        <source>Welcome to the Cellarium.

The game is an infinite, two-dimensional orthogonal grid of square cells, each of which is in one of two possible states, live or dead.

At each step in time, the following transitions occur:</source>
        <translation>Welcome to the Cellarium.

The game is an infinite, two-dimensional orthogonal grid of square cells, each of which is in one of two possible states, live or dead.

At each step in time, the following transitions occur:</translation>
    </message>
    <message>
        <source>1.

Any live cell with fewer than two live neighbours dies, as if by underpopulation.</source>
        <translation>1.

Any live cell with fewer than two live neighbours dies, as if by underpopulation.</translation>
    </message>
    <message>
        <source>2.

Any live cell with two or three live neighbours lives on to the next generation.</source>
        <translation>2.

Any live cell with two or three live neighbours lives on to the next generation.</translation>
    </message>
    <message>
        <source>3.

Any live cell with more than three live neighbours dies, as if by overpopulation.</source>
        <translation>3.

Any live cell with more than three live neighbours dies, as if by overpopulation.</translation>
    </message>
    <message>
        <source>4.

Any dead cell with exactly three live neighbours becomes a live cell, as if by reproduction.</source>
        <translation>4.

Any dead cell with exactly three live neighbours becomes a live cell, as if by reproduction.</translation>
    </message>
    <message>
        <source>Next, please enjoy the Cellarium.

Best regards.</source>
        <translation>Next, please enjoy the Cellarium.

Best regards.</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Next</translation>
    </message>
    <message>
        <source>Privacy Policy</source>
        <translation>Privacy Policy</translation>
    </message>
    <message>
        <source>Contact</source>
        <translation>Contact</translation>
    </message>
    <message>
        <source>Rate on the App Store</source>
        <translation>Rate on the App Store</translation>
    </message>
    <message>
        <source>Follow me on Social Media Platforms</source>
        <translation>Follow me on Social Media Platforms</translation>
    </message>
    <message>
        <source>Browse My Personal Website</source>
        <translation>Browse My Personal Website</translation>
    </message>
    <message>
        <source>More Apps I Developed</source>
        <translation>More Apps I Developed</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Contact: </source>
        <translation>Contact: </translation>
    </message>
    <message>
        <source>https://www.example.org/en/privacy/</source>
        <translation>https://www.example.org/en/privacy/</translation>
    </message>
    <message>
        <source>https://www.example.org/en/contact/</source>
        <translation>https://www.example.org/en/contact/</translation>
    </message>
    <message>
        <source>https://www.example.org/en/</source>
        <translation>https://www.example.org/en/</translation>
    </message>
</context>
</TS>
