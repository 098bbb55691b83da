<?xml version="1.0"?>
<!-- The plan entries of one task: the latest day first, the entries of a day
     by their start. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="xml" omit-xml-declaration="yes"/>

  <xsl:param name="taskId" select="0"/>

  <xsl:template match="/">
    <ROOT>
      <xsl:for-each select="/ROOT/DAILY/DAY[PLANENTRY/@TASKID = $taskId]">
        <xsl:sort select="@DATE" order="descending"/>
        <xsl:variable name="date" select="@DATE"/>
        <xsl:for-each select="PLANENTRY[@TASKID = $taskId]">
          <xsl:sort select="@STARTTIME"/>
          <PLANENTRY ID="{@ID}" DATE="{$date}" STARTTIME="{@STARTTIME}"/>
        </xsl:for-each>
      </xsl:for-each>
    </ROOT>
  </xsl:template>
</xsl:stylesheet>
